# cls, gotoxy, newline, clreol and tab when standard output is a pipe.
# cls writes nothing to a pipe and leaves attribute 7, whatever the fill colour.
textcolor red blue
cls * yellow
puts [console attribute]
textcolor cyan
cls
puts [console attribute]
cls - 31
puts [console attribute]
# gotoxy moves nothing on a pipe.
gotoxy 0 0
gotoxy 1 1
gotoxy 99999999999999999999 -5
puts |
# newline writes |count| line ends.
puts -nonewline <
newline
puts -nonewline >
puts -nonewline <
newline -3
puts -nonewline >
puts -nonewline <
newline 0
puts >
newline abc
# clreol cannot read a pipe's screen: it writes 79 blanks.
puts -nonewline <
clreol
puts >
# tab: a string of blanks, at least one.
puts <[tab]>
puts <[tab 0]>
puts <[tab -4]>
puts <[tab 5]>
puts <[tab 3x]>
