# A small library of procedures for the inventory example.

#define LOW_STOCK 3

proc stock_add {name count} {
    global stock
    if {[catch {set stock($name)} -quiet]} {
        set stock($name) 0
    }
    set stock($name) [expr {$stock($name) + $count}]
}

proc stock_take {name count} {
    global stock
    if {[catch {set stock($name)} -quiet]} {
        error "no item called $name"
    }
    if {[expr {$stock($name) < $count}]} {
        error "only $stock($name) of $name left"
    }
    set stock($name) [expr {$stock($name) - $count}]
}

proc stock_report {} {
    global stock
    foreach name [lsort [array names stock]] {
        set flag ""
        if {[expr {$stock($name) < LOW_STOCK}]} { set flag " (low)" }
        puts "  $name: $stock($name)$flag"
    }
}
