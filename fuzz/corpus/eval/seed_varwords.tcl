set s "hello world"
setat s 7 W
setb s 1 72 0x41
setl s abc; setr s abc 12
new n 1; cset n 2; swap s n; empty n
enum {A B {C 10}} 3
store set k v; store get k; store names *; store clear
content s; type s -code; varname s*; sc s 0; walk s
proc p {a args} { args; all $args x {is_empty $x} }
p 1 {} 2
on 2 {set r 1} {set r 2}
chain " x " {string trim} {. <} {<=> a}
struct st {f 4}; => st.f ab; =>> st.f cdef; content st
is_list "{a"; is_null nosuch; clearprocs p*
setresult x error
