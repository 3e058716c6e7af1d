#version 330 core
// Bars and light cones: the texture's alpha shapes a flat colour, so a grey or
// white mask picks up the tint whole instead of darkening it.
uniform sampler2D Texture0;
#ifdef BATCHED
// The quad's own, handed on by the vertex shader.
in vec4 rgba;
#else
uniform vec4 rgba;
#endif

in vec4 vColour;
in vec2 vTexCoord;

out vec4 outColour;

void main()
{
	float mask = texture( Texture0, vTexCoord ).a;
	outColour = vec4( rgba.rgb * vColour.rgb, rgba.a * vColour.a * mask );
}
