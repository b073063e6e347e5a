# env is an array of the environment; argv is absent without arguments
puts [set env]
puts [catch {set env(PATH)}]
puts "$argc <$argv0>"
puts [catch {set argv} m]
puts $m
