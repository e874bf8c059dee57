// The one source of the shared libraries made wholly of the module's static
// libraries (SS and the layer link checks, cmake/SsModule.cmake): CMake asks
// every library for a source of its own.
