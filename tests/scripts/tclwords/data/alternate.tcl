# the alternate forms: prefixes for x, X, b and o (none for a zero octal)
puts [format "%#x %#X %#b %#o %#o %#x" 255 255 5 8 0 0]
puts [format "%-#8x|%#06x" 255 255]
puts [format "%#g %#.0f" 1.5 2]
