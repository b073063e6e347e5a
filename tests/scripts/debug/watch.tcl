# watch keeps a list of variable names for the step prompt and prints
# matching variables of the current frame.
watch list
watch add w_*
# a name matched by an existing entry is not added again
watch add w_a
watch add W_A
watch list
set w_a 1
set w_b "two words"
set w_c ""
set other w_value
watch trace w_*
watch trace W_* -nocase
watch trace w_* -value
watch trace w_b -line 12
watch remove W_A
watch list
watch remove *
watch list
watch on
watch off
# -halt stops at the first match with code 6 and the name as result
watch trace w_* -halt
puts never
