#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv) {
  std::puts("ss-host");
  return 0;
}
