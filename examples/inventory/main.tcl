# The inventory example: a main script that sources a library of procedures.
# Run it from the top of the source tree: build/zorak examples/inventory/main.tcl
#define VERBOSE

source examples/inventory/stock.tcl

stock_add bolts 10
stock_add nuts 4
stock_add washers 2

#ifdef VERBOSE
puts "Stock after delivery:"
stock_report
#endif

# catch traps an error and hands back its message
if {[catch {stock_take screws 1} message]} {
    puts "Could not take screws: $message"
}

# try runs a handler when the script fails
try {
    stock_take nuts 3
    stock_take nuts 3
} catch {
    puts "Second order failed: $::errorMsg"
}

puts "Stock at closing:"
stock_report
