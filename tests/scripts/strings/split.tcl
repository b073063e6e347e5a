# the commands that cut text into lists or rewrite it piece by piece
# slice cuts every line at the columns; fields lose blanks around them
puts [slice "ab  cd  ef" 5 9]
puts [slice "abcdef ghi" 3 6]
puts [slice "12345\n67" 3]
# a carriage return takes a column but never makes a field of its own
puts [slice "a\r\nbcd" 2]
puts [slice "a\rbc" 3]
puts [slice "ab" 1 1]
puts [slice "no columns"]
puts [string slice "x  y" 3]
puts [catch {slice abc 3 2} m]
# map: the first matching pair wins at each position
puts [map {a 1 bb 2} abbbac]
puts [map -nocase {AB x} abAB]
puts [map {abc x ab y} abcab]
puts [string map {" " _} "a b c"]
puts [catch {map {a b c} xyz} m]
puts [catch {map {a b {} c} xyz} m]
puts [catch {map {a b}} m]
# strtok drops empty tokens; strsplit and chartok keep them
puts "[strtok {  a b   c }] / [strtok a,b,,c ,]"
puts [strsplit "a::b::::c" ::]
puts [strsplit "ab" ""]
puts [chartok "ab c"]
