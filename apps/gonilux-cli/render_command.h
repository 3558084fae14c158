// "gonilux-cli render": the polar diagram of an IES file as a PNG, SVG or PDF picture.
#pragma once

namespace gonilux::cli {

// argv[0] is "render". Returns 0 on success, 1 when the file cannot be read, the output format
// is unknown or the picture cannot be written, 2 on a usage error.
int RunRenderCommand(int argc, char** argv);

} // namespace gonilux::cli
