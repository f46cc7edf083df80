#include "platform/ole/ole_errors.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(OleErrors, NameKnownCodesAndShowOthersInHex) {
    EXPECT_EQ(OleErrorMessage(DISP_E_TYPEMISMATCH), "Type mismatch");
    EXPECT_EQ(OleErrorMessage(DISP_E_PARAMNOTFOUND), "Parameter not found");
    EXPECT_EQ(OleErrorMessage(HRESULT(0x80041234)), "OLE error 80041234");
    EXPECT_EQ(OleCheck(S_FALSE), S_FALSE);
    EXPECT_THROW(OleCheck(E_FAIL), EOleSysError);
}

}  // namespace
}  // namespace platform
