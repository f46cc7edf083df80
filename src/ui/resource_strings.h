#pragma once
// The component framework's message texts.

namespace ui::strings {

inline constexpr const char* SDuplicateName = "A component named %s already exists";
inline constexpr const char* SInvalidName = "''%s'' is not a valid component name";
inline constexpr const char* SParentRequired = "Control '%s' has no parent window";
inline constexpr const char* SCannotFocus =
    "Cannot focus a disabled or invisible window";
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

}  // namespace ui::strings
