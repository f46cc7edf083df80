#include "skinctrls/filter_combo_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin_fixture.h"

namespace skinctrls {
namespace {

using SkinFilterComboBoxTest = testing::SkinCtrlTest;

TEST_F(SkinFilterComboBoxTest, FilterPairsBecomeItemsAndMasks) {
    auto* f = Add<TbsSkinFilterComboBox>(10, 10, 200, 20);
    EXPECT_EQ(f->Items(), std::vector<std::string>{"All files (*.*)"});
    EXPECT_EQ(f->Mask(), "*.*");
    f->SetFilter("所有图片|*.bmp;*.jpg;*.gif;*.png;|Icons|*.ico|Dangling");
    EXPECT_EQ(f->Items(), (std::vector<std::string>{"所有图片", "Icons"}));
    EXPECT_EQ(f->Masks(), (std::vector<std::string>{"*.bmp;*.jpg;*.gif;*.png;", "*.ico"}));
    EXPECT_EQ(f->ItemIndex(), 0);
    EXPECT_EQ(f->Caption(), "所有图片");
    f->SetItemIndex(1);
    EXPECT_EQ(f->Mask(), "*.ico");
    // The same filter in other letter case changes nothing, not even the selection.
    f->SetFilter("所有图片|*.BMP;*.jpg;*.gif;*.png;|ICONS|*.ico|Dangling");
    EXPECT_EQ(f->ItemIndex(), 1);
    EXPECT_EQ(f->Items()[1], "Icons");
    // With nothing selected the last entry is taken.
    f->SetItemIndex(-1);
    EXPECT_EQ(f->Mask(), "*.ico");
    EXPECT_EQ(f->ItemIndex(), 1);
    f->SetFilter("Only a description");
    EXPECT_TRUE(f->Items().empty());
    EXPECT_EQ(f->Mask(), "*.*");
}

}  // namespace
}  // namespace skinctrls
