# A topic longer than a screen pauses at "-- more --"; standard input is
# empty here, which reads as Escape, so the listing stops after one page.
help long
puts "the script goes on"
