# A managed hand-written switch once more for the light context: the class and its context
# type renamed, the code the same.
#   cmake -DIN=PlayerSwitch.java -DOUT=PlayerLightSwitch.java -P light_switch.cmake
file(READ ${IN} text)
string(REPLACE "PlayerContext" "PlayerLightContext" text "${text}")
string(REPLACE "PlayerSwitch" "PlayerLightSwitch" text "${text}")
file(WRITE ${OUT} "${text}")
