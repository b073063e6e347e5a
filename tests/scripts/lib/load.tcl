# lib loads the sample plug-in and registers its commands.
set dir $env(ZORAK_PLUGINS)
puts "before: [lib -modules] [lib -loaded sample] [is_command sample_greet]"
puts "count: [lib $dir/sample]"
puts "after: [lib -modules] [lib -loaded SAMPLE] [lib sample -loaded] [is_command sample_greet]"
# modules are listed in load order
lib $dir/plain -nocomplain
puts "modules: [lib -modules]"
lib plain -unload -nocomplain
puts "modules: [lib -modules]"
# a module is known by its file name, whatever the path that loaded it
puts "by path: [lib -loaded $dir/sample.so] [lib -loaded other]"
# the commands read and write variables and set the result
puts [sample_greet]
set greeting_name Zorak
puts [sample_greet]
puts [sample_greet you]
set n 5
puts "[sample_incr n] [sample_incr n 10] $n"
puts [sample_incr fresh]
# inside a procedure they see the procedure's variables
proc bump {} { set local 1; sample_incr local; return $local }
puts [bump]
# lists are split by the library's splitter; blocks come from its heap
puts [sample_count {a {b c} "d e" {}}]
puts [sample_count ""]
puts [sample_reverse {a {b c} d {}}]
# array elements
puts [sample_store colours sky blue]
puts "[sample_fetch colours sky] [array exists colours]"
puts [sample_forget colours]
puts [sample_forget colours]
# the module describes itself
puts "commands: [lib sample -commands]"
puts "info: [lib sample -info]"
puts "description: [lib sample -description]"
# -replace runs the load again (init included) and keeps the commands
puts "inits: [sample_inits]"
puts "replace: [lib sample -replace -list]"
puts "inits: [sample_inits]"
# an alias of a plug-in command goes with the module
alias hello sample_greet
puts [hello there]
# -unload removes every command of the module and releases it
puts "unload: [lib sample -unload]"
puts "gone: [lib -modules] [is_command sample_greet] [is_command hello] [is_command sample_count]"
# loading again starts the library afresh
puts "list: [lib $dir/sample -list]"
puts "inits: [sample_inits]"
lib sample -unload
