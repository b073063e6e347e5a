# lib refuses what it cannot use and keeps its table consistent.
set dir $env(ZORAK_PLUGINS)
# no module at all
puts [catch {lib} r]
# a file that is missing, and one that is not a library, even with -nocomplain
puts [catch {lib $dir/nosuch} r]
puts [catch {lib data/notalib.txt -nocomplain} r]
# a doubled backslash in a path stands for one
puts [catch {lib data\\nosuch.lib} r]
# a library without the command lists is released again
puts [catch {lib $dir/nolist} r]
puts [catch {lib $dir/nolist -nocomplain} r]
# nor is one whose lists are empty
puts [catch {lib $dir/nulllists} r]
puts "modules: [lib -modules]"
# a plug-in that accepts another number of routines leaves nothing behind
puts [catch {lib $dir/badcount} r]
puts "modules: [lib -modules] [is_command bc_hello] [is_command bc_other]"
# -commands and -info need a loaded module
puts [catch {lib sample -commands} r]
puts [catch {lib sample -info} r]
# the same module twice
lib $dir/sample
puts [catch {lib $dir/sample} r]
# unloading twice: the second call loads, cleans up and releases again
puts "unload: [lib sample -unload] [lib -loaded sample]"
puts [catch {lib sample -unload} r]
puts "unload: [lib $dir/sample -unload] [lib -loaded sample] [is_command sample_greet]"
puts "modules: [lib -modules]"
