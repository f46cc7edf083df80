#pragma once
// The main window: a banner strip at the top, the strip with the open and export buttons and
// the three previews, and the large view with its popup menu of export commands.
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "banner/web_browser.h"
#include "graphics/bitmap.h"
#include "graphics/icon.h"
#include "skin/skin_data.h"
#include "skin/skin_frame.h"
#include "skin/skin_popup_menu.h"
#include "skin/stored_skin_component.h"
#include "skinctrls/skin_file_dialog.h"
#include "skinctrls/skin_panel.h"
#include "skinctrls/skin_scroll_box.h"
#include "skinctrls/skin_std_label.h"
#include "skinctrls/xform_button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/menus.h"

namespace app {

class TForm1;

// The window's published methods, found by name when events are bound.
using TNotifyMethod = void (TForm1::*)(ui::TComponent* sender);
using TExportMethod = void (TForm1::*)(int width, int height);
using TBitmapToIconMethod = std::unique_ptr<graphics::TIcon> (TForm1::*)(graphics::TBitmap& bitmap);
using TDocumentCompleteMethod = void (TForm1::*)(ui::TComponent* sender, platform::IDispatch* pDisp,
                                                 const platform::VARIANT& URL);

struct TPublishedMethod {
    const char* name;
    std::variant<TNotifyMethod, TExportMethod, TBitmapToIconMethod, TDocumentCompleteMethod>
        address;
};

class TForm1 : public ui::TForm {
  public:
    explicit TForm1(ui::TComponent* owner);
    const char* ClassName() const override { return "TForm1"; }

    // The published method table, in declaration order, and lookup by name (any case).
    static const std::vector<TPublishedMethod>& MethodTable();
    static const TPublishedMethod* MethodAddress(const std::string& name);

    // Published fields, in declaration order.
    skin::TbsSkinFrame* bsform1;
    skin::TbsSkinData* bsskindata1;
    skin::TbsStoredSkinComponent* bscmprsdstrdskn1;
    banner::TWebBrowser* WebBrowser1;
    skinctrls::TbsSkinSaveDialog* bsSkinSaveDialog1;
    skinctrls::TbsSkinOpenDialog* bsknpndlg1;
    skin::TbsSkinPopupMenu* bsknpmn1;
    ui::TMenuItem* N6464ICO1;
    ui::TMenuItem* N4X64ICO1;
    ui::TMenuItem* N16X16ICO1;
    skinctrls::TbsSkinPanel* bspanel1;
    skinctrls::TbsSkinXFormButton* btn1;
    skinctrls::TbsSkinScrollBox* bsknscrlbx1;
    ui::TImage* img1;
    ui::TImage* img2;
    ui::TImage* img3;
    ui::TImage* img4;
    skinctrls::TbsSkinStdLabel* lbl1;
    skinctrls::TbsSkinStdLabel* lbl2;
    skinctrls::TbsSkinStdLabel* lbl3;
    skinctrls::TbsSkinGroupBox* bskngrpbx1;
    skinctrls::TbsSkinXFormButton* btn2;
    skinctrls::TbsSkinXFormButton* btn3;
    skinctrls::TbsSkinXFormButton* btn4;

    // Published methods, in declaration order.
    void FormCreate(ui::TComponent* sender);
    void WebBrowser1DocumentComplete(ui::TComponent* sender, platform::IDispatch* pDisp,
                                     const platform::VARIANT& URL);
    void btn1Click(ui::TComponent* sender);
    void N6464ICO1Click(ui::TComponent* sender);
    void outIco(int width, int height);
    void N4X64ICO1Click(ui::TComponent* sender);
    void N16X16ICO1Click(ui::TComponent* sender);
    void btn2Click(ui::TComponent* sender);
    void btn3Click(ui::TComponent* sender);
    void btn4Click(ui::TComponent* sender);
    std::unique_ptr<graphics::TIcon> BitmapToIcon(graphics::TBitmap& bitmap);

    // Hands the skin data to every skinned control of the window (null: their plain look).
    void SetControlsSkinData(skin::TbsSkinData* data);

    // Loads a picture into the four views, as the open command does; each view reads the file
    // itself, and a failure raises (the error box) and leaves the rest as they were.
    void OpenPicture(const std::string& fileName);
    // Opens the picture once the message loop runs, the window up (the program's argument).
    void OpenWhenShown(const std::string& fileName);

  protected:
    // The window accepts files dropped on it.
    void CreateWnd() override;

  private:
    void WMDropFiles(ui::TMessage& message);
    void OpenPendingPicture(ui::TMessage& message);
    std::string pendingPicture_;

    // The description, in its order; each part makes its components and sets their properties.
    void BuildDescription();
    void BuildFormProperties();
    void BuildBanner();
    void BuildButtonPanel();
    void BuildPreviewGroup();
    void BuildPictureView();
    void BuildDialogs();
    void BuildPopupMenu();
    void ResolveReferences();
    skinctrls::TbsSkinXFormButton* MakeButton(const char* name, int left, int top,
                                              const char* caption, int tabOrder,
                                              const char* handler);
    ui::TImage* MakePreview(const char* name, int left, int top, int size);
    skinctrls::TbsSkinStdLabel* MakePreviewLabel(const char* name, int left, int top,
                                                 const char* caption);
    ui::TMenuItem* MakeMenuItem(const char* name, const char* caption, const char* handler);
    // The skinned frame, the skin data and the stored skin package.
    void BuildSkin();
    // Binds an event to the published method of that name.
    void Bind(ui::TNotifyEvent& event, const char* methodName);
    void Bind(banner::TWebBrowserDocumentComplete& event, const char* methodName);
};

}  // namespace app
