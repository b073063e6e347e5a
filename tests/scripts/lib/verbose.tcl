# -verbose prints a line per command and a summary.
set dir $env(ZORAK_PLUGINS)
lib $dir/sample -verbose
# a second load is refused; -nocomplain makes it a quiet no-op
catch {lib $dir/sample} r
puts "again: [lib $dir/sample -nocomplain] [lib $dir/sample -nocomplain -list]"
lib sample -unload -verbose
# the debug flag prints the same lines
debug on
lib $dir/plain -list
debug off
lib plain -unload
