# subst, apply, K and let.
proc check {script} {
    set code [catch {uplevel 1 $script} m -quiet]
    puts "$code: $m"
}
# subst reads variables, elements, braced and global names
set name world
set arr(x) 1
set key x
puts [subst {hello $name, $arr($key) ${name}s $::name}]
# an index is itself substituted, commands included
puts [subst {$arr([string tolower X])}]
# a struct member and a dictionary read as set reads them
dict set d k v
puts [subst {<$d>}]
# the backslash sequences, read from a file while escapes are off
option escape off
source data/subst_escapes.tcl
option escape on
# break ends the text, continue drops the command, return gives its value
puts <[subst {a[break]b}]>
puts <[subst {a[continue]b}]>
puts <[subst {a[return r]b}]>
# a failing command passes its code on and the text is not returned
check {subst {a [error boom] b}}
check {subst {$missing}}
check {subst {$arr(nokey)}}
check {subst -nothing text}
check {subst}
# apply: arguments, defaults and args bind as a procedure's do
puts [apply {{a {b B} args} {list $a $b $args}} 1]
puts [apply {{a {b B} args} {list $a $b $args}} 1 2 3 4]
# the body runs in its own frame: its variables do not leak
set outer 1
apply {{} {set outer 2; set inner 3}}
puts "$outer [info exists inner]"
# a return ends only the body
puts [apply {{} {return early; puts never}}]
# deep recursion through apply is stopped, not crashed
set fact {{n self} {if {[< $n 2]} {return 1}; return [* $n [apply $self [- $n 1] $self]]}}
puts [apply $fact 10 $fact]
set loop {{f} {apply $f $f}}
check {apply $loop $loop}
check {apply {only}}
check {apply {a b c d}}
check {apply {x {error inside}} 1}
check {apply}
# K returns its first word after the others ran
set queue {a b c}
puts [K [lindex $queue 0] [set queue [lrange $queue 1 end]]]
puts $queue
check {K}
# let stores and returns an expression's value, "=" optional
puts [let total = 2 + 3 * 4]
puts [let half {$total / 2}]
puts "$total $half"
check {let bad = 1 +}
const fixed 1
check {let fixed 2}
puts $fixed
check {let x =}
check {let x}
