# The whole-file commands, in a folder removed at the end.
file delete -force tmp_wholefile ;# what a failed run left
file mkdir tmp_wholefile
set name tmp_wholefile/data.txt
# -append twice on a new file keeps both texts in order.
puts "[writefile $name one -append] [writefile $name two -append]"
puts "content: [readfile $name]"
# A length writes that many bytes; one past the data writes the data only.
writefile $name abcdef 3
puts "length 3: [readfile $name]"
writefile $name xy 99
puts "length 99: [readfile $name]"
# -unescape decodes the data; -var writes a variable's value.
writefile $name {a\tb} -unescape
puts "unescaped: [readfile $name u] bytes"
set text "from a variable"
writefile $name text -var
puts "var: [readfile $name]"
puts "missing var: [catch {writefile $name nosuchvar -var} r] '$r'"
# readfile into a variable gives the byte count; -max limits it.
puts "count: [readfile $name v] '$v'"
puts "max: [readfile $name v -max 4] '$v'"
# Line mode: blank lines dropped with -noblank, -max counts lines.
writefile $name "first\n\nthird\n"
puts "lines: [readfile $name l -array -noblank] '$l(0)' '$l(1)'"
puts "with blanks: [readfile $name m -array] '$m(1)' '$m(2)'"
puts "max lines: [readfile $name n -array -max 1] [array size n]"
# An empty file.
writefile $name ""
puts "empty: [readfile $name e] '$e' '[readfile $name]'"
puts "not found: [catch {readfile tmp_wholefile/none.txt}]"
file delete -force tmp_wholefile
