# create writes the pairs, bracing blanks and empty words
puts [dict create a 1 b {x y} c {}]
puts "<[dict create]>"
puts [catch {dict create a 1 b}]
# a lone key has no value either
puts [catch {dict create a}]
# get follows each key into the value found by the one before
puts [dict get {a {b 5}} a b]
puts [dict get {a 1 b 2}]
puts [dict filter {a 1 b {p q}} b]
# the first pair with the key wins
puts [dict get {a 1 a 2} a]
puts [catch {dict get {a 1} z}]
puts [catch {dict get {a 1 b} a}]
# a variable's name where its value belongs is named as such
set named {a 1}
puts [catch {dict get named a}]
# item: exact, -nocase, -glob, and the default
puts [dict item {Key 1 other 2} key none]
puts [dict item {Key 1 other 2} key -nocase]
puts [dict item {Key 1 other 2} o* -glob]
puts [dict item {Key 1 other 2} K?Y -glob -nocase]
puts "<[dict item {a 1} z]>"
# keys and values match patterns ignoring case
puts [dict keys {Ab 1 ab 2 b 3} a*]
puts [dict values {Ab 1 ab 2 b 3} a*]
puts [dict keys {{two words} 1 {} 2}]
puts [catch {dict keys {a 1 b}}]
puts [catch {dict values {a}}]
# size of a value is half its items
puts [dict size {a 1 b 2 c 3}]
puts [dict size {}]
puts [catch {dict size {a 1 b}}]
puts [catch {dict size}]
# remove and replace go through a scratch table
puts [dict remove {a 1 b 2} a]
puts [dict remove {a 1 b 2}]
puts [catch {dict remove {a 1 b 2} z}]
puts [catch {dict remove {a 1 b} a}]
puts [dict replace {a 1 b 2} a 9 c 3]
puts [dict replace {a 1}]
puts [catch {dict replace {a 1} b}]
puts [catch {dict replace {a 1 b} b 2}]
# merge: later keys win
puts [dict merge {a 1} {a 2}]
puts [dict merge {a 1}]
puts [catch {dict merge {a 1} {b}}]
# an unknown subcommand, and too few words
puts [catch {dict frobnicate x}]
puts [catch {dict}]
