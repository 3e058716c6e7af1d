#version 330 core
// The beam: the texture rolls along its length and ripples across it with time,
// and its core pulses a little.
uniform sampler2D Texture0;
uniform vec4 rgba0;
uniform float Time;

in vec4 vColour;
in vec2 vTexCoord;

out vec4 outColour;

void main()
{
	vec2 uv = vTexCoord;
	uv.y += 0.06 * sin( uv.x * 18.0 - Time * 9.0 );
	uv.x = fract( uv.x - Time * 0.8 );
	vec4 texel = texture( Texture0, clamp( uv, 0.0, 1.0 ) );
	float pulse = 1.0 + 0.15 * sin( Time * 12.0 );
	outColour = texel * vColour * rgba0 * vec4( pulse, pulse, pulse, 1.0 );
}
