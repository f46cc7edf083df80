#pragma once
// The component framework's message texts.

namespace ui::strings {

inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "''%s'' is not a valid component name";
inline constexpr const char* SParentRequired = "Control '%s' has no parent window";
inline constexpr const char* SCannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr const char* SCannotShowModal = "Cannot make a visible window modal";
inline constexpr const char* SWindowClass = "Error creating window class";
inline constexpr const char* SWindowCreate = "Error creating window";
inline constexpr const char* SControlParentSetToSelf = "A control cannot have itself as its parent";

// The file dialogs.
inline constexpr const char* SOpenFile = "Open file";
inline constexpr const char* SSaveFile = "Save file";
inline constexpr const char* SAllFilesFilter = "All files|*.*";
inline constexpr const char* SBtnOpen = "&Open";
inline constexpr const char* SBtnSave = "&Save";
inline constexpr const char* SBtnCancel = "Cancel";
inline constexpr const char* SFileNameLabel = "File name:";
inline constexpr const char* SFileTypeLabel = "File type:";
inline constexpr const char* SLookIn = "Look in: ";
inline constexpr const char* SOverwrite = "Do you want to overwrite old file?";
inline constexpr const char* SWarning = "Warning";
inline constexpr const char* SBackHint = "Go To Last Folder Visited";
inline constexpr const char* SUpHint = "Up One Level";
inline constexpr const char* SNewFolderHint = "Create New Folder";
inline constexpr const char* SViewMenuHint = "View Menu";
inline constexpr const char* SLargeIcons = "Large icons";
inline constexpr const char* SSmallIcons = "Small icons";
inline constexpr const char* SListView = "List";
inline constexpr const char* SDetailsView = "Details";
inline constexpr const char* SNewFolder = "New Folder";
// The file list's item menu, its questions and its properties box.
inline constexpr const char* SMenuOpen = "Open";
inline constexpr const char* SMenuRename = "Rename";
inline constexpr const char* SMenuDelete = "Delete";
inline constexpr const char* SMenuNewFolder = "New Folder";
inline constexpr const char* SMenuRefresh = "Refresh";
inline constexpr const char* SMenuProperties = "Properties";
inline constexpr const char* SError = "Error";
inline constexpr const char* SConfirm = "Confirm";
inline constexpr const char* SDeleteForGood =
    "\"%s\" cannot be moved to the trash. Delete it for good?";
inline constexpr const char* SNameEmpty = "A name cannot be empty.";
inline constexpr const char* SNameHasSlash = "A name cannot contain \"/\".";
inline constexpr const char* SNameExists = "\"%s\" already exists.";
inline constexpr const char* SPropertiesTitle = "%s Properties";
inline constexpr const char* SPropName = "Name:";
inline constexpr const char* SPropType = "Type:";
inline constexpr const char* SPropLocation = "Location:";
inline constexpr const char* SPropSize = "Size:";
inline constexpr const char* SPropModified = "Modified:";
inline constexpr const char* SPropContains = "Contains:";
inline constexpr const char* SBtnOk = "OK";

}  // namespace ui::strings
