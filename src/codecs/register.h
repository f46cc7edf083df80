#pragma once
// Start-up and shutdown of the picture codecs: their file formats join the picture registry
// after the OLE entry, in the program's order (GIF, then JPEG), and leave it at shutdown.

namespace codecs {

void RegisterCodecs();
void UnregisterCodecs();

}  // namespace codecs
