# Read while the escape option is off, so backslashes stay as written.
# addslash: quotes and backslashes by default, or the given characters
puts [addslash {say "it's" \ok}]
puts [addslash {a.b*c} .*]
# escape writes C-like escapes; unescape reads them back
set raw [chr 7 8 9 10 11 12 13 1 127 34 92 65 200]
puts [escape $raw]
puts [string equal [unescape [escape $raw]] $raw]
puts [unescape {A\x42\x4a\103\q\\\"}]
puts [string equal [unescape {\t\n\r\a\b\f\v}] [chr 9 10 13 7 8 12 11]]
# hex takes at most two digits and octal at most three up to 255
puts [unescape {\x414\1011\400}]
# a code 0 and a final backslash stay as written
puts [unescape {a\0b\x00c}][unescape [chr 92]]
puts [catch {unescape {\xg}} m]$m
puts [catch {escape a -x} m]$m
