# textcolor: the attribute each form leaves, read back with console attribute.
# A single colour name sets the foreground on the current background.
textcolor magenta
puts [console attribute]
# No argument restores light grey on black.
textcolor
puts [console attribute]
# A number carries a whole attribute byte: 31 is white on blue.
textcolor 31
puts [console attribute]
textcolor
# "-" and a colour set only the background.
textcolor - blue
puts [console attribute]
# A colour and "-" set only the foreground.
textcolor yellow -
puts [console attribute]
# Two colours set the whole attribute.
textcolor yellow red
puts [console attribute]
# Names are compared without regard to case; grey has four spellings.
textcolor MaGeNtA black
puts [console attribute]
textcolor DarkGray black
puts [console attribute]
textcolor DARKGREY black
puts [console attribute]
textcolor gray black
puts [console attribute]
textcolor GREY black
puts [console attribute]
# Unknown colour words give grey; an empty one gives black.
textcolor orange
puts [console attribute]
textcolor xyz
puts [console attribute]
textcolor ""
puts [console attribute]
# Numbers: a fraction counts its whole part, two dots are no number.
textcolor 1.5 0
puts [console attribute]
textcolor 1.2.3 0
puts [console attribute]
# Two numbers combine to eight bits: 300 is 44, and 7 * 16 is OR-ed in.
textcolor 300 7
puts [console attribute]
# Words after the second are ignored.
textcolor red blue green
puts [console attribute]
# textcolor leaves the result as it was.
set kept before
textcolor green
