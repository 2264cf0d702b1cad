// Buffers for the text of answers, kept between calls. An answer of a few
// megabytes written into fresh memory costs more in the operating system's
// mapping of its pages than in the writing itself; a buffer that carried an
// earlier answer is mapped already. A few are kept (the largest answers'),
// none beyond 64 MiB, so the server holds at most a few times its largest
// answer for this.
#pragma once

#include <string>

namespace zor::server::reply_buffers {

// An empty text, with the room of a kept buffer when there is one.
std::string Take();

// Keeps `buffer`'s room for a later answer (or frees it, when enough are kept).
void GiveBack(std::string&& buffer);

}  // namespace zor::server::reply_buffers
