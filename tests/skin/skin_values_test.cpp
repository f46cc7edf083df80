#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "skin/skin_values.h"

using namespace skin;

TEST(SkinValues, RectsKeepOnlyDigitsAndCommas) {
    EXPECT_EQ(ParseRect("3, 5 ,282,24"), (TRect{3, 5, 282, 24}));
    EXPECT_EQ(ParseRect("-1,0,0,0"), (TRect{1, 0, 0, 0}));
    EXPECT_EQ(ParseRect("1x2,3,4,5"), (TRect{12, 3, 4, 5}));
    EXPECT_EQ(ParseRect("1,2,3,4,5,6"), (TRect{1, 2, 3, 4}));  // extra fields are ignored
    EXPECT_EQ(ParsePoint("-9, 29"), (TPoint{9, 29}));
    EXPECT_EQ(ParsePoint("7,8,9"), (TPoint{7, 8}));
    EXPECT_TRUE((TRect{5, 5, 5, 9}).IsEmpty());
    EXPECT_TRUE((TPoint{0, 4}).IsUnset());
    EXPECT_FALSE((TPoint{1, 4}).IsUnset());
}

TEST(SkinValues, AnEmptyRectOrPointFieldFailsTheIntegerConversion) {
    for (const char* text : {"1,2,3", "1,,3,4", "", ",,,", "a,b,c,d"}) {
        try {
            ParseRect(text);
            ADD_FAILURE() << "accepted rect '" << text << "'";
        } catch (const core::EConvertError& e) {
            EXPECT_EQ(e.Message(), "'' is not a valid integer value") << text;
        }
    }
    EXPECT_THROW(ParsePoint("5"), core::EConvertError);
    EXPECT_THROW(ParseRect("1,2,3,99999999999"), core::EConvertError);
}

TEST(SkinValues, KeywordsAreExactAndCaseSensitive) {
    EXPECT_EQ(ParseFontStyles("fsbold"), fsBold);
    EXPECT_EQ(ParseFontStyles("fsBold"), 0);
    EXPECT_EQ(ParseFontStyles("fsbold,fsitalic"), fsBold | fsItalic);
    EXPECT_EQ(ParseFontStyles("fsunderline fsstrikeout"), fsUnderline | fsStrikeOut);

    EXPECT_EQ(ParseAlignment("tacenter"), TAlignment::taCenter);
    EXPECT_EQ(ParseAlignment("taleftjustify"), TAlignment::taLeftJustify);
    EXPECT_EQ(ParseAlignment("tarightjustify"), TAlignment::taRightJustify);
    EXPECT_EQ(ParseAlignment("xyz"), TAlignment::taRightJustify);
    EXPECT_EQ(ParseAlignment("TACENTER"), TAlignment::taRightJustify);

    EXPECT_EQ(ParseStretchType("stfull"), TbsStretchType::bsstFull);
    EXPECT_EQ(ParseStretchType("stvert"), TbsStretchType::bsstVert);
    EXPECT_EQ(ParseStretchType("sthorz"), TbsStretchType::bsstHorz);
    EXPECT_EQ(ParseStretchType("StFull"), TbsStretchType::bsstHorz);

    EXPECT_EQ(ParseMorphKind("mkpush"), TbsMorphKind::mkPush);
    EXPECT_EQ(ParseMorphKind("mkleftslide"), TbsMorphKind::mkLeftSlide);
    EXPECT_EQ(ParseMorphKind("MKPUSH"), TbsMorphKind::mkDefault);

    EXPECT_EQ(ParseInactiveEffect("iebrightness"), TbsInactiveEffect::ieBrightness);
    EXPECT_EQ(ParseInactiveEffect("ieinvert"), TbsInactiveEffect::ieInvert);
    EXPECT_EQ(ParseInactiveEffect("iefoo"), TbsInactiveEffect::ieGrayscale);

    EXPECT_EQ(ParseCommand("cmclose"), TbsStdCommand::cmClose);
    EXPECT_EQ(ParseCommand("cmdefault"), TbsStdCommand::cmDefault);
    EXPECT_EQ(ParseCommand("CMCLOSE"), TbsStdCommand::cmMinimizeToTray);
    EXPECT_EQ(ParseCommand(""), TbsStdCommand::cmMinimizeToTray);
}

TEST(SkinValues, MissingKeysGiveTheDefaultsAndBooleansNeedExactlyOne) {
    core::TMemIniFile ini;
    ini.SetText("[o]\nb1=1\nb2=2\nb3=0x1\nb4=true\nrect=1,2,3,4\n");
    TbsIniReader reader(ini, "o");
    bool b = true;
    reader.Boolean("b1", b);
    EXPECT_TRUE(b);
    for (const char* key : {"b2", "b4", "missing"}) {
        b = true;
        reader.Boolean(key, b);
        EXPECT_FALSE(b) << key;
    }
    reader.Boolean("b3", b);
    EXPECT_TRUE(b);  // the integer value is 1
    TRect r{9, 9, 9, 9};
    reader.Rect("nothing", r);
    EXPECT_EQ(r, TRect{});
    TPoint p{9, 9};
    reader.Point("nothing", p);
    EXPECT_EQ(p, TPoint{});
    TbsStdCommand command = TbsStdCommand::cmClose;
    reader.Command("nothing", command);
    EXPECT_EQ(command, TbsStdCommand::cmDefault);
    TbsInactiveEffect effect = TbsInactiveEffect::ieInvert;
    reader.InactiveEffect("nothing", effect);
    EXPECT_EQ(effect, TbsInactiveEffect::ieBrightness);
    TAlignment alignment = TAlignment::taLeftJustify;
    reader.Alignment("nothing", alignment);
    EXPECT_EQ(alignment, TAlignment::taCenter);
    std::string font = "x";
    reader.String("nothing", font, "Arial");
    EXPECT_EQ(font, "Arial");
}

TEST(SkinValues, WrittenValuesReadBackTheSame) {
    core::TMemIniFile ini;
    TbsIniWriter writer(ini, "o");
    TRect r{1, 2, 3, 4};
    TPoint p{5, 6};
    TFontStyles styles = fsBold | fsStrikeOut;
    TAlignment a = TAlignment::taRightJustify;
    TbsStretchType st = TbsStretchType::bsstVert;
    TbsMorphKind mk = TbsMorphKind::mkRightGradient;
    TbsInactiveEffect ie = TbsInactiveEffect::ieNoise;
    TbsStdCommand cm = TbsStdCommand::cmRollUp;
    TColor colour = static_cast<TColor>(0xFF00000F);
    bool flag = true;
    writer.Rect("r", r);
    writer.Point("p", p);
    writer.FontStyle("s", styles);
    writer.Alignment("a", a);
    writer.StretchType("st", st);
    writer.MorphKind("mk", mk);
    writer.InactiveEffect("ie", ie);
    writer.Command("cm", cm);
    writer.Color("c", colour, 0);
    writer.Boolean("b", flag);
    EXPECT_EQ(ini.ReadString("o", "s", ""), "fsbold,fsstrikeout");
    EXPECT_EQ(ini.ReadString("o", "b", ""), "1");

    TbsIniReader reader(ini, "o");
    TRect r2;
    TPoint p2;
    TFontStyles styles2 = 0;
    TAlignment a2{};
    TbsStretchType st2{};
    TbsMorphKind mk2{};
    TbsInactiveEffect ie2{};
    TbsStdCommand cm2{};
    TColor colour2 = 0;
    bool flag2 = false;
    reader.Rect("r", r2);
    reader.Point("p", p2);
    reader.FontStyle("s", styles2);
    reader.Alignment("a", a2);
    reader.StretchType("st", st2);
    reader.MorphKind("mk", mk2);
    reader.InactiveEffect("ie", ie2);
    reader.Command("cm", cm2);
    reader.Color("c", colour2, 0);
    reader.Boolean("b", flag2);
    EXPECT_EQ(r2, r);
    EXPECT_EQ(p2, p);
    EXPECT_EQ(styles2, styles);
    EXPECT_EQ(a2, a);
    EXPECT_EQ(st2, st);
    EXPECT_EQ(mk2, mk);
    EXPECT_EQ(ie2, ie);
    EXPECT_EQ(cm2, cm);
    EXPECT_EQ(colour2, colour);
    EXPECT_TRUE(flag2);
}
