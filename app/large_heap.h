// A heap for scripts of megabytes. A run reads the script, writes its
// results and builds its listing in buffers as large as the script; in 4 KB
// pages a 4 MB script costs thousands of page faults, a fifth of the whole
// command's time. Where the C library allows it, the program takes its heap
// in one piece at the start and asks the kernel for huge pages there.
#pragma once

namespace orbelin::cli {

// Call once, first thing in main. Does nothing where it cannot help.
void PrepareLargeHeap();

}  // namespace orbelin::cli
