#pragma once
// Marks what libkelmora exports: the library is compiled with hidden visibility, so only
// classes and functions carrying this are visible to the programs that link it. In the
// editor's build it changes nothing.

#define KELMORA_API __attribute__((visibility("default")))
