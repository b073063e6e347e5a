#exec source data/self_exec.tcl
puts never
