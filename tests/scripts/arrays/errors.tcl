# messages for missing arrays
puts [catch {array names nosuch}]
puts [catch {array get nosuch}]
puts [catch {array list nosuch}]
puts [catch {array statistics nosuch}]
puts [catch {array trim nosuch}]
puts [catch {array walk nosuch 1}]
puts [catch {array find nosuch x}]
puts [catch {array item nosuch x}]
puts [catch {array unset nosuch}]
puts [catch {array unset a()}]
# without complaints the missing array is quiet
puts [catch {array names nosuch -nocomplain}]
# setint refuses plain variables and needs a list
set plain 1
puts [catch {array setint plain {a b}}]
puts [catch {array setint fresh -base 2}]
# a constant array is not unset without -const
array_set k {a 1} -const
puts [catch {array unset k}]
puts [array unset k -const]
# an empty array lists nothing and answers 1
dim empty 5
puts [catch {array names empty}]
# walk needs four words
array walk nosuch
