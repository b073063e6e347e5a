# $$name(key) with no such array.
puts $$nosuch(k)
