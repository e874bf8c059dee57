#pragma once

// How `eval --all` asks the process's allocator for its memory. ss-host
// links mimalloc; these look it up, so that in a process with another
// allocator (the sanitizers', the tests') they do nothing.
namespace eval {

// Memory from the system in 2 MB pages: a batch's drawing and runs touch a
// few hundred megabytes, and on this product's machines each first touch of
// a 4 KB page costs microseconds. Only the batch asks: its memory is not
// what limits it, while a large sheet's is.
void preferLargePages();

// A forked worker that allocated from the heap it inherited would write its
// free lists into the parent's pages, each first write copying a page: it
// takes a heap of its own.
void takeOwnHeap();

}  // namespace eval
