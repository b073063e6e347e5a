// Standard input shared by the key reader and the shell's line reader, so
// that bytes read ahead for one are not lost to the other.
#pragma once

// The next byte of standard input, or -1 at its end or on an error.
int posixNextInputByte();
