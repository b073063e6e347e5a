# error needs a message
error
