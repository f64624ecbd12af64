# The Standard MIDI File reader behind the sequencer and the music segments.
derazodo_fuzzer(midi_fuzz SOURCES ${CMAKE_CURRENT_LIST_DIR}/midi_fuzz.cpp DEPS platform_media)
