# index, range, replace, toarray and the trim subcommands of string
puts [string index abc 0][string index abc 2]
set v xyz
puts [string index v 1 -var]
# a position at or past the length is an error
puts [catch {string index abc 3} m]
puts [catch {string index abc -1} m]
# range counts from 0 and includes both ends; end and end-N count back
puts [string range abcde 2 end]
puts [string range abcde 1 END-1]
puts <[string range abcde 4 2]><[string range abcde 9 12]>
puts [string range abcde 3 99]
puts [catch {string range abcde -1 2} m]
puts [catch {string range abcde 0 -2} m]
# replace swaps every occurrence, left to right, without overlaps
puts [string replace "a-b-c" - +]
puts [string replace aaaa aa b]
puts <[string replace abc "" x]><[string replace abc b ""]><[string replace "" a b]>
# -glob leaves the text as it is
puts [string replace a-b - + -GLOB]
# toarray stores one element per line and returns the count
puts [string toarray "one\ntwo\n" lines]
puts "$lines(0) $lines(1) <$lines(2)>"
puts [catch {string toarray "x" lines} m]
# trim removes a single space by default, or the given set
puts <[string trim "  a  "]><[string trimleft "  a  "]><[string trimright "  a  "]>
puts [string trim xxhixx x][string trimleft xxhixx x][string trimright xxhixx x]
puts <[string trim "\ta\t"]>
# trimming a variable with the trailing flag removes spaces only
set t "  pad\t  "
puts <[string trim t -var]>
puts <$t>
set t2 "--x--"
string trimleft t2 - -var
puts $t2
# the wide-string form is not available
puts [catch {string to_wchar abc x} m]
# unknown subcommands and too few words
puts [catch {string nosuch abc} m]
puts [catch {string index abc} m]
