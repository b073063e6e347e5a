# a flat list of names and lengths makes one block with the fields back to back
set addr [struct create s {a 4 b 8}]
puts "[== $addr $s] [struct size s] [struct elements s]"
set offsets {}
foreach f [struct elements s -value] { lappend offsets [- $f $addr] }
puts "offsets $offsets sizes [struct elements s -size]"
puts "[set s] [set s.a]|"
# braced pairs and one item of several pairs lay out the same way
struct t {{x 2} {y 3}}
struct u {{p 1 q 2}}
puts "[struct size t] [struct elements t] [struct size u] [struct elements u]"
# a declared size larger than the fields is kept; 0 means the fields' sum
struct create big 20 {a 4 b 8}
struct zero 0 {a 4}
puts "[struct size big] [struct size zero] [struct size big.b]"
# a declared size smaller than the fields fails and creates nothing
puts [catch {struct small 10 {a 4 b 8}}]
puts [llength [vars -list small]]
# a name already in use is refused
set taken 1
puts [catch {struct taken {a 1}}]
puts [catch {struct create s {a 1}}]
# malformed field lists, each stopping before anything is made
puts [catch {struct bad {}}]
puts [catch {struct bad {a}}]
puts [catch {struct bad {a 4 b}}]
puts [catch {struct bad {{a {4}}}}]
puts [catch {struct bad {a x}}]
puts [catch {struct bad {a 0}}]
puts [catch {struct bad {a 4 b -2}}]
puts [catch {struct bad {a 3000000000}}]
puts [catch {struct bad {a 2000000000 b 2000000000}}]
puts [llength [vars -list bad]]
# a repeated field name fails and removes what was made
puts [catch {struct dup {a 1 a 2} } m]
puts "[llength [vars -list dup]] [llength [vars -list dup.a]] '$m'"
# too few words
puts [catch {struct s2}]
puts [catch {struct create s2 {a 1}} m]
puts "[struct size s2] [== $m $s2]"
puts [catch {struct create s3}]
