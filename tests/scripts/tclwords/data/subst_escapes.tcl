# each sequence becomes one character (its code shown), a newline with the
# blanks after it one blank, and \u above 255 its UTF-8 bytes
foreach s [list {\a} {\b} {\f} {\n} {\r} {\t} {\v} {\101} {\x41} {\x4} {\u0041} {\U00000041} {\q} {\\} {\$} {\[}] {
    puts -nonewline "[scan [subst $s] %c] "
}
puts ""
puts [string length [subst {\u00e9\u20ac}]]
puts [subst {a\
      b}]
puts [subst -nobackslashes {a\tb}]
# \x with no digits is an x; a trailing backslash stays
puts [subst {\xg end\\}]
# a zero byte cannot be held in a text
check {subst {a\0b}}
check {subst {a\x00b}}
