# the stand-alone commands that cut, search, fold and patch text
puts [left hello 2]<[left hello 0]>[left hello 99]
puts [right hello 2]<[right hello -1]>[right hello 99]
set w world
puts [left w 3 -var]<[left w 3 x]><[left nosuch 3 -var]>
puts [right w 2 -var]
# mids: start 0 is start 1; a negative length is 0
puts [mids abcdef 0 2][mids abcdef 3][mids abcdef 2 -5]<
puts [mids w 2 3 -var]
puts [catch {mids abcdef 7} m]
puts [catch {mids "" 1} m]
puts [catch {mids nosuch 1 -var} m]
puts "[len hello][len ""] [toupper aBc] [tolower AbC] [string left abc 2] [string right abc 2] [string mids abc 2]"
# match: whole-text glob; ? never matches nothing
puts [match a*c abc][match a*c ac][match a*c abcd][match a?c ac][match -nocase A*C abc]
puts [string match -NOCASE a?c ABC][match a*c AC]
puts [catch {match -nocase abc} m]
# instr counts from the start position; an empty find depends on -nocase
puts [instr abcabc c][instr abcabc c 4][instr abcabc x][instr abcabc c 9][instr abc C -nocase]
puts [instr abc ""][instr abc "" -nocase]
puts [strstr abcabc bc][rinstr abcabc bc][strstrr abcabc BC -nocase][strstr abc ""][strstr abc "" -nocase]
set hay "find the needle"
set pin needle
puts [strstr hay pin -var]
puts [catch {strstr hay nosuch -var} m]
puts [strchr hello l][strchr hello z][strchr hello L -nocase]
# the cutters return the whole text when find is absent
puts "[strto key=value =] [strtor a/b/c /] [stripto key=value =] [striptor a/b/c /] [strto abc x]"
puts [charcount banana a][charcount banana z][charcount banana ""]
puts <[chomp "line\r\n"]><[chomp "line\n\n"]><[chomp line]>
puts "[replacechar a-b-c - _] [replacechar a-b-c - {}]"
set p a.b.c
replacechar p . / -var
chomp p -var
puts $p
# trim: blanks and line ends by default; -var trims the variable in place
puts <[trim "\t hi \r\n"]>[trim xxhixx x]
set t "  t  "
puts <[trim t -var]><$t>
puts [catch {trim nosuch -var} m]
# trimprefix and trimsuffix change the variable and return the length removed
set f old_name.txt
puts [trimprefix f old_][trimprefix f OLD][trimsuffix f .TXT -nocase]
puts $f
puts [catch {trimprefix nosuch a} m]
const c fixed
puts [catch {trimsuffix c d} m]
set arr(1) x
puts [catch {trimprefix arr a} m]
# mid overwrites in place and never changes the length
set v abcdef
puts [mid v XYZ 5]
puts $v
puts [mid v 12345 0 2]
puts $v
puts [catch {mid v XY 9} m]
puts [catch {mid nosuch XY 1} m]
puts [catch {mid c XY 1} m]
# the link of an alias is refreshed after an in-place change
proc patch {} { upvar v local; mid local __ 3; trimprefix local 12 }
patch
puts $v
puts [catch {left abc} m]
