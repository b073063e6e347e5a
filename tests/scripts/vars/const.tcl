# const defines a constant and answers its value
puts [const c 1]
puts $c
# a second definition is refused
puts [catch {const c 2} m]
puts "$m / $c"
# -nocomplain replaces the value
const c 2 -nocomplain
puts $c
# set refuses constants
puts [catch {set c 3} m]
puts $m
# a :: name defines a global constant
const ::k 5
puts "$k $::k"
# const needs a value
const d
