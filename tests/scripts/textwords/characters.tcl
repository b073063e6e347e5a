# asc, chr, lastchar, index, item, cmp, comma and makestr
option autoexec off
# asc reads the first byte as unsigned; -var reads a variable, else the word
set v 42
puts "[asc A] [asc Abc] [asc [chr 200]] [asc v -var] [asc nosuch -var]"
puts "[catch {asc ""} m] $m"
puts "[catch {asc a -x} m] $m"
puts "[catch {asc} m] [catch {asc a -var b} m]"
# chr joins its codes; radix forms count; 0 and 256 are refused
puts [chr 72 105 0x21 &h3F]
puts "[catch {chr 0} m] $m"
puts "[catch {chr 256} m] $m"
puts "[catch {chr -1} m] $m"
puts "[catch {chr 6.5} m] $m"
puts "[catch {chr abc} m] $m"
puts "[catch {chr 99999999999999999999} m] $m"
# lastchar of an empty text is empty
puts <[lastchar hello]><[lastchar ""]><[lastchar v -var]>
# index counts from 0, with end and end-N; outside the text fails
puts "[index hello 0][index hello 4][index hello end][index hello end-4] [index v 1 -var]"
puts "[catch {index hello 5} m] $m"
puts "[catch {index hello -1} m] $m"
puts "[catch {index hello end-5} m] $m"
puts "[catch {index "" 0} m] $m"
puts "[catch {index hello end+1} m] $m"
puts "[catch {index hello end--1} m] $m"
# item counts fields from 1; empty fields count; past the end is empty
puts <[item a,b,,c 1]><[item a,b,,c 3]><[item a,b,,c 4]><[item a,b,,c end]><[item a,b,,c end-1]><[item a,b 3]>
puts <[item "a b;c" 2 " ;"]><[item "" 1]><[item abc 2 ""]>
puts "[catch {item a,b 0} m] $m"
puts "[catch {item a,b x} m] $m"
puts "[catch {item a,b end-9} m] $m"
# cmp orders bytes as unsigned codes; -nocase folds ASCII letters only
puts "[cmp a b] [cmp b a] [cmp a a] [cmp a ab] [cmp {} a] [cmp [chr 200] a]"
puts "[cmp ABC abc] [cmp ABC abc -nocase] [cmp ABC abd -NOCASE]"
puts "[catch {cmp a b -x} m] $m"
puts [catch {cmp a} m]
# comma groups the whole part only, keeps sign and fraction, any length
puts "[comma 0] [comma 123] [comma 1234] [comma -1234567.891] [comma +1000] [comma 123456789012345678901234]"
puts "[comma 1234567 .] [comma 1234567 {}] [comma 0x10000] [comma -9223372036854775808]"
puts "[catch {comma 1e6} m] $m"
puts "[catch {comma 12.} m] $m"
puts "[catch {comma ""} m] $m"
puts "[catch {comma 1,000} m] $m"
# makestr repeats its piece; negative counts give nothing; huge ones fail
puts <[makestr 3 ab]><[makestr 4]><[makestr 0 x]><[makestr -5 x]><[makestr 9 ""]>
puts "[catch {makestr 99999999999 x} m] $m"
puts "[catch {makestr 40000000 abc} m] $m"
puts "[catch {makestr many} m] $m"
# -var reads a plain variable or a constant; an array name stands for itself
array set arr {k v}
const c7 xyz
puts "[lastchar arr -var] [asc c7 -var] [index arr 0 -var]"
