#pragma once
// Start-up and shutdown of the picture formats the programs open beyond the core four.

namespace codecs {

// The program's picture formats in their fixed order: the OLE entry (registering it creates
// the registry with its four core formats; it stays for the life of the process), then the
// codecs. Once per process until UnregisterPictureFormats; the window and the command-line
// tool both start with it.
void RegisterPictureFormats();
// Takes the codecs' formats out again at shutdown.
void UnregisterPictureFormats();

// The codecs' formats alone, after the OLE entry, in the program's order (GIF, then JPEG).
void RegisterCodecs();
void UnregisterCodecs();

}  // namespace codecs
