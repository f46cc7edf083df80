#include "app/window/form1.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "app/export/icon_export.h"
#include "app/window/data_directory.h"
#include "app/window/dropped_files.h"
#include "banner/page_fetch.h"
#include "core/exceptions.h"
#include "core/utf8.h"
#include "platform/gdi/wintypes.h"
#include "skin/embedded_skin.h"

namespace app {

using namespace ui;
using graphics::TFont;

namespace {

constexpr const char* kCaption = "TembrinICO图标生成工具V1.0";

// Posted to the window by OpenWhenShown.
constexpr platform::UINT kOpenPendingPicture = platform::WM_APP + 1;

// The banner's page: the maker's advertisement, shipped with the program's data so that the
// strip needs no network. Without the file the strip shows its failure page. The address is
// made from the file's path once, encoded, so that no install folder can make it invalid.
const std::u16string& BannerAddress() {
    static const std::u16string address = core::Utf8ToUtf16(
        banner::FileUrlOf((ProgramDataDirectory() / "banner" / "index.html").string()));
    return address;
}

bool SameName(const std::string& a, const char* b) {
    std::string other(b);
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void SetFont(TFont& font, const char* name, int height, graphics::TColor color, uint8_t charset) {
    font.SetName(name);
    font.SetHeight(height);
    font.SetColor(color);
    font.SetCharset(charset);
    font.SetStyle(0);
}

// What the panel and the group box share in the description.
void SetPanelProperties(skinctrls::TbsSkinPanel& panel) {
    SetFont(panel.DefaultFont(), "Arial", 14, graphics::clWindowText, platform::DEFAULT_CHARSET);
    panel.SetUseSkinFont(true);
    panel.SetDefaultAlignment(TAlignment::taLeftJustify);
    panel.SetDefaultCaptionHeight(22);
    panel.SetImagePosition(skinctrls::TbsImagePosition::bsipDefault);
    panel.SetCaptionImageIndex(-1);
    panel.SetRealHeight(-1);
    panel.SetAutoEnabledControls(true);
    panel.SetTransparentMode(false);
    panel.SetCheckedMode(false);
    panel.SetRollUpMode(false);
    panel.SetNumGlyphs(1);
    panel.SetSpacing(2);
}

// What the open and the save dialog share in the description.
void SetDialogProperties(skinctrls::TbsSkinOpenDialog& dialog, const char* name, const char* title,
                         const char* filter, const char* headerSkinDataName) {
    dialog.SetName(name);
    dialog.SetTitle(title);
    dialog.SetFilter(filter);
    dialog.SetFilterIndex(1);
    dialog.SetOverwritePromt(false);
    dialog.SetCheckFileExists(true);
    dialog.SetMultiSelection(false);
    dialog.SetShowHiddenFiles(false);
    dialog.SetLVHeaderSkinDataName(headerSkinDataName);
}

template <typename T>
T* Place(TForm1* form, TWinControl* parent, const char* name, int left, int top, int width,
         int height) {
    T* control = Make<T>(form);
    control->SetName(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

}  // namespace

const std::vector<TPublishedMethod>& TForm1::MethodTable() {
    static const std::vector<TPublishedMethod> table = {
        {"FormCreate", &TForm1::FormCreate},
        {"WebBrowser1DocumentComplete", &TForm1::WebBrowser1DocumentComplete},
        {"btn1Click", &TForm1::btn1Click},
        {"N6464ICO1Click", &TForm1::N6464ICO1Click},
        {"outIco", &TForm1::outIco},
        {"N4X64ICO1Click", &TForm1::N4X64ICO1Click},
        {"N16X16ICO1Click", &TForm1::N16X16ICO1Click},
        {"btn2Click", &TForm1::btn2Click},
        {"btn3Click", &TForm1::btn3Click},
        {"btn4Click", &TForm1::btn4Click},
        {"BitmapToIcon", &TForm1::BitmapToIcon},
    };
    return table;
}

const TPublishedMethod* TForm1::MethodAddress(const std::string& name) {
    for (const TPublishedMethod& method : MethodTable())
        if (SameName(name, method.name)) return &method;
    return nullptr;
}

void TForm1::Bind(TNotifyEvent& event, const char* methodName) {
    const TPublishedMethod* method = MethodAddress(methodName);
    const auto* address =
        method != nullptr ? std::get_if<TNotifyMethod>(&method->address) : nullptr;
    if (address == nullptr)
        throw core::EReadError("Invalid property value: method " + std::string(methodName));
    TNotifyMethod member = *address;
    event = [this, member](TComponent* sender) { (this->*member)(sender); };
}

void TForm1::Bind(banner::TWebBrowserDocumentComplete& event, const char* methodName) {
    const TPublishedMethod* method = MethodAddress(methodName);
    const auto* address =
        method != nullptr ? std::get_if<TDocumentCompleteMethod>(&method->address) : nullptr;
    if (address == nullptr)
        throw core::EReadError("Invalid property value: method " + std::string(methodName));
    TDocumentCompleteMethod member = *address;
    event = [this, member](TComponent* sender, platform::IDispatch* pDisp,
                           const platform::VARIANT& url) { (this->*member)(sender, pDisp, url); };
}

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetName("Form1");
    BuildDescription();
    SetMessageHandler(platform::WM_DROPFILES, [this](TMessage& message) { WMDropFiles(message); });
    SetMessageHandler(kOpenPendingPicture,
                      [this](TMessage& message) { OpenPendingPicture(message); });
}

void TForm1::CreateWnd() {
    TForm::CreateWnd();
    platform::DragAcceptFiles(Handle(), platform::TRUE);
}

// The window as its description lists it: the form's own properties, the controls from top to
// bottom, the non-visual components, then the references between them.
void TForm1::BuildDescription() {
    DisableAlign();
    BuildFormProperties();
    BuildBanner();
    BuildButtonPanel();
    BuildPictureView();
    BuildSkin();
    BuildDialogs();
    BuildPopupMenu();
    ResolveReferences();
    EnableAlign();
}

void TForm1::BuildFormProperties() {
    SetBounds(231, 213, Width(), Height());
    SetClientSize(468, 482);
    SetCaption(kCaption);
    SetColor(graphics::clBtnFace);
    SetFont(Font(), "新宋体", -12, graphics::clWindowText, platform::ANSI_CHARSET);
    SetBorderIcons(0);
    Bind(OnCreate, "FormCreate");
}

void TForm1::BuildBanner() {
    WebBrowser1 = Place<banner::TWebBrowser>(this, this, "WebBrowser1", 0, 0, 468, 100);
    WebBrowser1->SetAlign(TAlign::alTop);
    WebBrowser1->SetTabOrder(0);
    Bind(WebBrowser1->OnDocumentComplete, "WebBrowser1DocumentComplete");
}

// The panel under the banner: the open button, the group box with the three previews, then
// the three export buttons.
void TForm1::BuildButtonPanel() {
    using namespace skinctrls;
    bspanel1 = Place<TbsSkinPanel>(this, this, "bspanel1", 0, 100, 468, 121);
    bspanel1->SetAlign(TAlign::alTop);
    bspanel1->SetTabOrder(1);
    bspanel1->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
    bspanel1->SetCaptionMode(false);
    SetPanelProperties(*bspanel1);

    btn1 = MakeButton("btn1", 224, 18, "打开图片", 0, "btn1Click");
    BuildPreviewGroup();
    btn2 = MakeButton("btn2", 320, 18, "导出64X64", 2, "btn2Click");
    btn3 = MakeButton("btn3", 224, 66, "导出32X32", 3, "btn3Click");
    btn4 = MakeButton("btn4", 320, 66, "导出16X16", 4, "btn4Click");
}

skinctrls::TbsSkinXFormButton* TForm1::MakeButton(const char* name, int left, int top,
                                                  const char* caption, int tabOrder,
                                                  const char* handler) {
    auto* button = Place<skinctrls::TbsSkinXFormButton>(this, bspanel1, name, left, top, 73, 22);
    button->SetTabOrder(tabOrder);
    button->SetCaption(caption);
    SetFont(button->DefaultFont(), "宋体", -12, graphics::clBlack, platform::ANSI_CHARSET);
    button->SetUseSkinFont(false);
    button->SetUseSkinSize(true);
    button->SetUseSkinFontColor(false);
    button->SetCanFocused(false);
    button->SetDefActiveFontColor(graphics::clBlack);
    button->SetDefDownFontColor(graphics::clBlack);
    button->SetRepeatMode(false);
    button->SetRepeatInterval(100);
    button->SetImageIndex(-1);
    button->SetNumGlyphs(1);
    button->SetSpacing(1);
    button->SetSkinDataName("button");
    Bind(button->OnClick, handler);
    return button;
}

void TForm1::BuildPreviewGroup() {
    using namespace skinctrls;
    bskngrpbx1 = Place<TbsSkinGroupBox>(this, bspanel1, "bskngrpbx1", 1, 1, 200, 119);
    bskngrpbx1->SetAlign(TAlign::alLeft);
    bskngrpbx1->SetTabOrder(1);
    bskngrpbx1->SetCaption("导出预览");
    bskngrpbx1->SetCaptionMode(true);
    bskngrpbx1->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
    SetPanelProperties(*bskngrpbx1);

    img2 = MakePreview("img2", 16, 24, 64);
    lbl1 = MakePreviewLabel("lbl1", 36, 97, "64*64");
    img3 = MakePreview("img3", 104, 56, 32);
    lbl2 = MakePreviewLabel("lbl2", 107, 96, "32*32");
    img4 = MakePreview("img4", 160, 72, 16);
    lbl3 = MakePreviewLabel("lbl3", 153, 96, "16*16");
}

TImage* TForm1::MakePreview(const char* name, int left, int top, int size) {
    TImage* image = Place<TImage>(this, bskngrpbx1, name, left, top, size, size);
    image->SetStretch(true);
    return image;
}

skinctrls::TbsSkinStdLabel* TForm1::MakePreviewLabel(const char* name, int left, int top,
                                                     const char* caption) {
    auto* label = Place<skinctrls::TbsSkinStdLabel>(this, bskngrpbx1, name, left, top, 28, 13);
    SetFont(label->DefaultFont(), "MS Sans Serif", -11, graphics::clWindowText,
            platform::DEFAULT_CHARSET);
    label->SetUseSkinFont(true);
    label->SetUseSkinColor(true);
    label->SetEllipsType(skinctrls::TbsEllipsType::bsetNone);
    label->SetCaption(caption);
    return label;
}

// The scroll box that fills the rest of the window, with the large view in it.
void TForm1::BuildPictureView() {
    bsknscrlbx1 = Place<skinctrls::TbsSkinScrollBox>(this, this, "bsknscrlbx1", 0, 221, 468, 261);
    bsknscrlbx1->SetAlign(TAlign::alClient);
    bsknscrlbx1->SetTabOrder(2);
    bsknscrlbx1->SetBorderStyle(skinctrls::TbsSkinBorderStyle::bvNone);
    bsknscrlbx1->SetCanFocused(true);
    SetFont(bsknscrlbx1->DefaultFont(), "Arial", 14, graphics::clWindowText,
            platform::DEFAULT_CHARSET);
    bsknscrlbx1->SetUseSkinFont(true);
    bsknscrlbx1->SetDefaultWidth(691);
    bsknscrlbx1->SetDefaultHeight(321);

    img1 = Place<TImage>(this, bsknscrlbx1, "img1", 0, 0, 468, 261);
    img1->SetAlign(TAlign::alClient);
    img1->SetProportional(true);
}

void TForm1::BuildDialogs() {
    bsSkinSaveDialog1 = Make<skinctrls::TbsSkinSaveDialog>(this);
    SetDialogProperties(*bsSkinSaveDialog1, "bsSkinSaveDialog1", "导出图标", "图标文件|*.ico",
                        "button");
    bsknpndlg1 = Make<skinctrls::TbsSkinOpenDialog>(this);
    SetDialogProperties(*bsknpndlg1, "bsknpndlg1", "Open file", "所有图片|*.bmp;*.jpg;*.gif;*.png;",
                        "resizebutton");
}

void TForm1::BuildPopupMenu() {
    bsknpmn1 = Make<skin::TbsSkinPopupMenu>(this);
    bsknpmn1->SetName("bsknpmn1");
    N6464ICO1 = MakeMenuItem("N6464ICO1", "导出为（64X64）ICO图标", "N6464ICO1Click");
    N4X64ICO1 = MakeMenuItem("N4X64ICO1", "导出为（32X32）ICO图标", "N4X64ICO1Click");
    N16X16ICO1 = MakeMenuItem("N16X16ICO1", "导出为（16X16）ICO图标", "N16X16ICO1Click");
}

TMenuItem* TForm1::MakeMenuItem(const char* name, const char* caption, const char* handler) {
    TMenuItem* item = Make<TMenuItem>(this);
    item->SetName(name);
    item->SetCaption(caption);
    Bind(item->OnClick, handler);
    bsknpmn1->Items().Add(item);
    return item;
}

// The references, resolved once every component exists.
void TForm1::ResolveReferences() {
    bsknscrlbx1->SetPopupMenu(bsknpmn1);
    bsform1->SetSkinData(bsskindata1);
    SetControlsSkinData(bsskindata1);
    // The package is read, and the new skin announced to the forms, once the stored skin
    // holds its bytes.
    bsskindata1->SetCompressedStoredSkin(bscmprsdstrdskn1);
    for (skinctrls::TbsSkinOpenDialog* dialog :
         {static_cast<skinctrls::TbsSkinOpenDialog*>(bsSkinSaveDialog1), bsknpndlg1}) {
        dialog->SetSkinData(bsskindata1);
        dialog->SetCtrlSkinData(bsskindata1);
    }
}

void TForm1::SetControlsSkinData(skin::TbsSkinData* data) {
    bspanel1->SetSkinData(data);
    bskngrpbx1->SetSkinData(data);
    for (auto* button : {btn1, btn2, btn3, btn4}) button->SetSkinData(data);
    for (auto* label : {lbl1, lbl2, lbl3}) label->SetSkinData(data);
    bsknscrlbx1->SetSkinData(data);
}

void TForm1::BuildSkin() {
    bsform1 = Make<skin::TbsSkinFrame>(this);
    bsform1->SetName("bsform1");
    bsform1->SetPositionInMonitor(skin::TbsPositionInMonitor::bspScreenCenter);
    bsform1->SetBorderIcons(skin::biMinimize | skin::biMaximize);
    bsform1->SetShowIcon(true);
    bsform1->SetUseDefaultSysMenu(true);
    bsform1->SetDisableSystemMenu(false);
    SetFont(bsform1->DefCaptionFont(), "宋体", -14, graphics::clBtnText, platform::ANSI_CHARSET);
    bsform1->DefCaptionFont().SetStyle(graphics::fsBold);
    SetFont(bsform1->DefInActiveCaptionFont(), "Arial", 14, graphics::clBtnShadow,
            platform::DEFAULT_CHARSET);
    bsform1->DefInActiveCaptionFont().SetStyle(graphics::fsBold);
    SetFont(bsform1->DefMenuItemFont(), "Arial", 14, graphics::clWindowText,
            platform::DEFAULT_CHARSET);
    bsform1->SetDefMenuItemHeight(20);
    bsform1->SetUseSkinFontInMenu(true);
    bsform1->SetAlphaBlend(false);
    bsform1->SetAlphaBlendValue(200);
    bsform1->SetMenusAlphaBlend(false);
    bsform1->SetMenusAlphaBlendValue(200);
    bsform1->SetMagnetic(false);
    bsform1->SetMagneticSize(5);

    bsskindata1 = Make<skin::TbsSkinData>(this);
    bsskindata1->SetName("bsskindata1");
    bsskindata1->SetSkinnableForm(true);
    bsskindata1->SetEnableSkinEffects(true);
    bsskindata1->SetSkinIndex(0);

    bscmprsdstrdskn1 = Make<skin::TbsStoredSkinComponent>(this);
    bscmprsdstrdskn1->SetName("bscmprsdstrdskn1");
    bscmprsdstrdskn1->SetFileName("skin.ini");
    const auto package = skin::EmbeddedSkinPackage();
    bscmprsdstrdskn1->SetCompressedData(package.data(), int64_t(package.size()));
}

void TForm1::FormCreate(TComponent*) {
    WebBrowser1->Navigate(BannerAddress());
}

// Strips the page's scroll bars, margin and border, for every completed document.
void TForm1::WebBrowser1DocumentComplete(TComponent*, platform::IDispatch*,
                                         const platform::VARIANT&) {
    WebBrowser1->OleObject().Get("Document").Get("body").Put("Scroll", "no");
    WebBrowser1->OleObject().Get("Document").Get("body").Get("style").Put("margin", "0");
    WebBrowser1->OleObject().Get("Document").Get("Body").Get("Style").Put("BorderWidth", 0);
}

void TForm1::btn1Click(TComponent*) {
    if (!bsknpndlg1->Execute()) return;
    OpenPicture(bsknpndlg1->FileName());
}

void TForm1::OpenPicture(const std::string& fileName) {
    for (TImage* view : {img1, img2, img3, img4}) view->Picture().LoadFile(fileName);
}

void TForm1::OpenWhenShown(const std::string& fileName) {
    pendingPicture_ = fileName;
    platform::PostMessage(Handle(), kOpenPendingPicture, 0, 0);
}

void TForm1::OpenPendingPicture(TMessage&) {
    const std::string fileName = std::exchange(pendingPicture_, std::string());
    if (!fileName.empty()) OpenPicture(fileName);
}

// A file manager's drop: the first file, folders passed over; a folder alone changes nothing.
void TForm1::WMDropFiles(TMessage& message) {
    const std::string fileName =
        FirstDroppedFile(reinterpret_cast<platform::HDROP>(message.WParam));
    message.Result = 0;
    if (!fileName.empty()) OpenPicture(fileName);
}

void TForm1::outIco(int width, int height) {
    if (!bsSkinSaveDialog1->Execute()) return;
    ExportIcon(img1->Picture().Graphic(), width, height, bsSkinSaveDialog1->FileName());
}

std::unique_ptr<graphics::TIcon> TForm1::BitmapToIcon(graphics::TBitmap& bitmap) {
    return app::BitmapToIcon(bitmap);
}

void TForm1::N6464ICO1Click(TComponent*) {
    outIco(64, 64);
}
void TForm1::N4X64ICO1Click(TComponent*) {
    outIco(32, 32);
}
void TForm1::N16X16ICO1Click(TComponent*) {
    outIco(16, 16);
}
void TForm1::btn2Click(TComponent*) {
    outIco(64, 64);
}
void TForm1::btn3Click(TComponent*) {
    outIco(32, 32);
}
void TForm1::btn4Click(TComponent*) {
    outIco(16, 16);
}

}  // namespace app
