#include "themefiles/VsDib.h"

#include "fileread/SfDib.h"

bool VsDecodeDib(TSfReader& in, TskPixels& out, bool& hasAlpha) { return SfDecodeDib(in, out, hasAlpha); }
