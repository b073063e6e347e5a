# An operator without enough operands cannot be translated
puts "code [catch {explain 1 +}]"
puts "code [catch {calc 1 +} r] $r"
puts "code [catch {calc 1 + -explain} r] $r"
# A failing constant form is reported while folding
puts "code [catch {calc 1 / 0} r]"
# A group after a word that fails to translate
puts "code [catch {explain a(1 +)}]"
