# The key commands when standard input is at its end: every key reads as Escape.
puts [inkey]
puts [getkey -integer]
puts [getkey -integer -LOWER]
echo [getkey] -hex
# waitkey below a tenth of a second reads nothing.
puts [waitkey 99]
puts [waitkey 100]
puts [waitkey]
puts [waitkey -7]
# -flush (exact) empties the queue and gives an empty result.
puts <[waitkey -flush]>
puts <[inkey -flush]>
puts [inkey -FLUSH]
# pause prints its prompt, then a line end when a key comes.
pause
pause "Go on: "
pause "" 
pause -quiet
puts <[pause x -q]>
