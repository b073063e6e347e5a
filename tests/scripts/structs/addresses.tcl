# every address a script hands over is checked against the live structs
struct s {a 4 b 4}
struct t {a 4 b 4}
struct big {a 16}
=> s.a good
# a field's address is inside a live struct, but copying t's 8 bytes from
# s's second field would run past s's end
set sb [lindex [struct elements s -value] 1]
puts [catch {struct copy t $sb}]
# from an address inside a larger struct, the bytes are there
=> big.a abcdefghijkl
puts [struct copy t [lindex [struct elements big -value] 0]]
# forged addresses: near a block, far outside, zero, negative, too large
puts [catch {struct copy t [+ $big 16]}]
puts [catch {struct copy t [- $s 1]}]
puts [catch {struct copy t 1}]
puts [catch {struct copy t 0}]
puts [catch {struct copy t -8}]
puts [catch {struct copy t 99999999999999999999999}]
# a stale address: the block was released with its struct
set old $s
struct unset s
puts [catch {struct copy t $old}]
# an alias of a field outlives the struct; reading it then is refused
struct r {f 4}
=> r.f keep
upvar 0 r.f alias
puts "[set alias] $alias"
struct unset r
puts [catch {set alias} m]
puts "'$m'"
# copying a struct onto itself is fine
puts "[struct copy t $t] [-> t.a]"
