#pragma once
#define UIWX_API __attribute__((visibility("default")))
