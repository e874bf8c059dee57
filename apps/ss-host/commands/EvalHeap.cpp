#include "apps/ss-host/commands/EvalHeap.h"

#include <dlfcn.h>
#include <mimalloc.h>

namespace eval {

namespace {

template <class F>
F* allocatorFunction(const char* name) {
  return reinterpret_cast<F*>(::dlsym(RTLD_DEFAULT, name));
}

}  // namespace

void preferLargePages() {
  if (auto* enable = allocatorFunction<decltype(mi_option_enable)>("mi_option_enable"))
    enable(mi_option_large_os_pages);
}

void takeOwnHeap() {
  auto* heapNew = allocatorFunction<decltype(mi_heap_new)>("mi_heap_new");
  auto* setDefault = allocatorFunction<decltype(mi_heap_set_default)>("mi_heap_set_default");
  if (!heapNew || !setDefault) return;
  if (mi_heap_t* heap = heapNew()) setDefault(heap);
}

}  // namespace eval
