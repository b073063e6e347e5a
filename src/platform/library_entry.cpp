// The shared library's own translation unit: the interpreter lives in the
// core archive linked in whole, and only the symbols marked for export
// leave the library.
