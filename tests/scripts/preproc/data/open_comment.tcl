puts before
set pattern /var/log/*.log
puts after
