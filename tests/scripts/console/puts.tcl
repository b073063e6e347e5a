# puts: the argument forms, escapes and the stream word while the console is open.
# One word: the text and a line end.
puts "Hello world"
# -nonewline before or after the text (any case) drops the line end.
puts -nonewline abc
puts def
puts ghi -NONEWLINE
puts ""
# -nonewline alone is the text itself.
puts -nonewline
puts ""
# Any other word beginning with "-" is text.
puts -foo
puts stdout -bar
# A stream word: stdout writes to the console; stderr goes to standard
# error (not part of this output) and stdin takes nothing, console or not.
puts stdout one
puts stderr two
puts STDIN three
puts -nonewline stdout four
puts ""
puts stdout five -nonewline
puts ""
# Words after the text are ignored.
puts stdout six extra
# A stream word that names no open channel is an error with the console
# open too, so a script's file output never lands on the screen.
puts "code [catch {puts 42 seven}]"
# With the escape option on, \t \n and \r are resolved and other escapes drop the backslash.
puts {a\tb|c\nd|\q|\\}
# Each doubled backslash is one backslash.
puts "end\\\\"
# With the escape option off the text goes out as written (the file is read
# while the option is off, so loading leaves its escapes alone too).
option escape off
source data/escape_off.tcl
option escape on
# puts alone does nothing and leaves the result.
set x kept
puts
