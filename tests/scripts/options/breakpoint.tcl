# Turning breakpoint on also turns echo and stacktrace on; reset sets it.
puts [option echo]/[option stacktrace]/[option breakpoint]
option breakpoint on
puts [option echo]/[option stacktrace]/[option breakpoint]
option breakpoint off
option stacktrace off
option echo off
# reset finds no configuration file, so values stay, except breakpoint
option breakpoint reset
puts [option breakpoint]/[option echo]
option preprocessor reset
puts [option preprocessor]
# the saved copies are taken from the values the first option call saw
option breakpoint on
option breakpoint pop
puts [option breakpoint]
