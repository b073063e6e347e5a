# the case, test and reverse subcommands of string, with their -var forms
# subcommand names ignore case; the -var flag does not
puts [string TOUPPER abc]
puts [string toupper abc -VAR]
puts [string tolower "MiXeD 123"]
# totitle skips leading blanks; initcaps capitalises after every blank
puts <[string totitle "  hELLO wORLD"]>
puts [string initcaps "hELLO big\tworld"]
puts [string reverse abc]
# emptiness, length and character classes (an empty text is all letters)
puts [string isempty ""][string isempty x][string length hello][string length ""]
puts [string is_alpha abc][string is_alpha ab1][string is_alpha ""]
puts [string is_alnum ab1][string is_alnum "a b"]
# repeat uses only the first character; a negative count gives nothing
puts [string repeat abc 3]
puts <[string repeat abc -1]><[string repeat x]><[string repeat "" 4]>
puts [string equal abc abc][string equal abc abC]
# a count whose text could not be a result is refused
puts [catch {string repeat a 3000000000} m]
# -var on a plain variable changes it as well as returning the new text
set v hello
puts [string toupper v -var]
puts $v
puts [string tolower -var v]
puts $v
# tolower takes the flag in front: after the name it is just a word
puts [string tolower V -var]
set r abc
string reverse r -var
puts $r
# a missing variable or an array: the name itself is the text
puts [string toupper nosuch -var]
set arr(1) x
puts [string toupper arr -var]
# a constant is read but keeps its value
const k lower
puts [string toupper k -var]
puts $k
# read-only subcommands read the variable too
set e ""
puts [string isempty e -var][string length v -var][string equal v hello -var]
# a change through an alias reaches the variable it stands for
proc shout {name} { upvar $name local; string toupper local -var }
set g quiet
shout g
puts $g
proc up {} { global g; string tolower -var g }
up
puts $g
