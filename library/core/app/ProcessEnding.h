#pragma once

// Whether the process is ending: its modules are being detached after every
// other thread was terminated, possibly while holding a lock or in the middle
// of a load. Work done then must not wait for those threads.
bool IsProcessEnding();
