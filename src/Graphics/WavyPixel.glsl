#version 330 core
// The beam: it runs along the texture's v, from the source at v = 0.5 to the tip at
// v = 0. It ripples across its width and bright pulses run along it with time; the
// empty half of the texture is never shifted into view.
uniform sampler2D Texture0;
#ifdef BATCHED
// The quad's own, handed on by the vertex shader.
in vec4 rgba0;
in float Time;
#else
uniform vec4 rgba0;
uniform float Time;
#endif

in vec4 vColour;
in vec2 vTexCoord;

out vec4 outColour;

void main()
{
	vec2 uv = vTexCoord;
	uv.x += 0.08 * sin( uv.y * 40.0 - Time * 1.5 );
	vec4 texel = texture( Texture0, clamp( uv, 0.0, 1.0 ) );
	float pulse = 1.0 + 0.3 * sin( uv.y * 90.0 + Time * 2.0 );
	outColour = texel * vColour * rgba0 * vec4( pulse, pulse, pulse, 1.0 );
}
