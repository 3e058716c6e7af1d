#version 330 core
// The standard pixel shader: the texture of stage 0 tinted by the colour constant.
// Values above 1 brighten.
uniform sampler2D Texture0;
#ifdef BATCHED
// The quad's own, handed on by the vertex shader.
in vec4 rgba0;
#else
uniform vec4 rgba0;
#endif

in vec4 vColour;
in vec2 vTexCoord;

out vec4 outColour;

void main()
{
	outColour = texture( Texture0, vTexCoord ) * vColour * rgba0;
}
