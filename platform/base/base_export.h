#pragma once
#define BASE_API __attribute__((visibility("default")))
