-- Builds an Ardour session that plays a stereo input through a chain of LXVST
-- plug-ins at a fixed tempo, for ardour7-export to render.
-- ardour7-lua make-session.lua DIR NAME RATE BPM FRAMES LEFT.wav RIGHT.wav CHAIN [INDEX=VALUE ...]
-- CHAIN is a comma-separated list of plug-in names; the settings go to the last one.
-- Ardour's Lua has no file import: the script bounces a silent region of the input's
-- length and then puts the input's channels (mono 32-bit float files) in its files.

local dir, name, rate, bpm, frames, left, right, chain = table.unpack(arg, 1, 8)
rate, bpm, frames = tonumber(rate), tonumber(bpm), tonumber(frames)

local function fail(message)
  print("FAIL: " .. message)
  os.exit(1)
end

local function copy(from, to)
  local source = io.open(from, "rb") or fail("cannot read " .. from)
  local data = source:read("a")
  source:close()
  local target = io.open(to, "wb") or fail("cannot write " .. to)
  target:write(data)
  target:close()
end

if not AudioEngine:set_backend("None (Dummy)", "", "") then
  fail("Ardour has no dummy audio backend")
end
AudioEngine:set_sample_rate(rate)
AudioEngine:set_buffer_size(1024)
if AudioEngine:start(false) ~= 0 then fail("Ardour's audio engine does not start") end
local session = create_session(dir, name, rate)
if not session then fail("cannot create a session in " .. dir) end

local map = Temporal.TempoMap.fetch_writable()
map:set_tempo(Temporal.Tempo(bpm, bpm, 4), Temporal.timepos_t(0))
Temporal.TempoMap.update(map)

local track = session:new_audio_track(2, 2, nil, 1, "Input", ARDOUR.PresentationInfo.max_order,
                                      ARDOUR.TrackMode.Normal, true):front()
local route = track:to_route()
local region = track:bounce_range(0, frames, ARDOUR.InterThreadInfo(), route:amp(), false,
                                  "input", false)
if region:isnil() then fail("cannot make the input region") end
local audio = region:to_audioregion()
audio:set_fade_in_active(false)
audio:set_fade_out_active(false)
track:playlist():add_region(region, Temporal.timepos_t(0), 1, false)
-- The media folder is named after the session's folder.
local files = dir .. "/interchange/" .. dir:match("([^/]+)/*$") .. "/audiofiles/"
copy(left, files .. "input%L.wav")
copy(right, files .. "input%R.wav")

local plugin
local position = 0
for plugin_name in chain:gmatch("[^,]+") do
  plugin = ARDOUR.LuaAPI.new_plugin(session, plugin_name, ARDOUR.PluginType.LXVST, "")
  if plugin:isnil() then fail("Ardour cannot load the plug-in " .. plugin_name) end
  if route:add_processor_by_index(plugin, position, nil, true) ~= 0 then
    fail("Ardour cannot insert the plug-in " .. plugin_name)
  end
  position = position + 1
end
for i = 9, #arg do
  local index, value = arg[i]:match("^(%d+)=(.+)$")
  if not ARDOUR.LuaAPI.set_processor_param(plugin, tonumber(index), tonumber(value)) then
    fail("cannot set parameter " .. arg[i])
  end
end

session:save_state("", false, false, false, false, false)
close_session()

-- The session range, which the export renders, is set by the editor on import:
-- the saved state gets it here.
local state_file = dir .. "/" .. name .. ".ardour"
local state = io.open(state_file, "rb"):read("a")
local finish = string.format("a%d", frames * (282240000 // rate))
local range = '<Locations>\n    <Location id="1000000" name="session" start="a0" end="' .. finish ..
              '" flags="IsSessionRange" locked="0" timestamp="0" cue="0"/>\n  </Locations>'
local patched, count = state:gsub("<Locations/>", range)
if count ~= 1 then fail("the saved session has an unexpected form") end
local out = io.open(state_file, "wb")
out:write(patched)
out:close()
print("session ready")
