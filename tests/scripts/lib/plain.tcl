# A plug-in without _export_common_routines is kept and its commands work.
set dir $env(ZORAK_PLUGINS)
# an export it lacks and a name taken by a built-in are reported and skipped
puts "loaded: [lib $dir/plain]"
puts "[lib plain -commands] / [lib plain -description]"
puts [catch {lib plain -info} r]
plain_ok
puts [is_command plain_missing]
# a command's own code passes through the evaluator
foreach x {1 2 3} { puts $x; plain_break }
# -nocomplain quiets the messages
lib plain -unload
puts "quiet: [lib $dir/plain -nocomplain -list]"
# -replace may take a built-in's name; the unload then leaves it gone
alias print puts
print "replace: [lib plain -replace -nocomplain -list]"
puts "not printed: puts is the plug-in's now"
lib plain -unload -nocomplain
print "puts: [is_command puts] modules: [lib -modules]"
