# info args, body and default read a procedure's definition.
proc p {{x 5} y {"two words" 7}} { return "$x $y" }
puts [info args p]
puts [info body p]
puts "[info default p x v] <$v>"
puts "[info default p y w] <$w>"
# argument names compare exactly; a default's own name is not an argument
puts "[info default p X u] <$u>"
puts "[info default p {two words} t] <$t>"
# a built-in command has no definition: 0 and the variable untouched
set keep kept
puts "[info default puts x keep] <$keep>"
# a constant cannot receive the default
const c 1
catch {info default p x c}
puts "c is still $c"
# missing procedures and built-ins have no definition to show
catch {info args nosuch}
catch {info body puts}
catch {info default nosuch x v}

# info level n gives the words that created level n; 0 or less counts back
proc outer {a} { middle "$a b" }
proc middle {s} {
    puts "at [info level] (frame [info frame x]) in [info procname]"
    puts [info level 0]
    puts [info level 1]
    puts [info level -1]
    # one level above the current one is the command now running
    puts [info level 3]
    info level 4
}
catch {outer 1}
# at level 0 the current command is its own level 0
puts [info level 0]
puts "<[info procname]> [info level] [info frame]"
# the largest reachable level is one above the current one
info level 2
