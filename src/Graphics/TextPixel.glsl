#version 330 core
// Text: the string's white coverage texture tinted by the colour constant. Nothing
// else, no vertex colour: a software rasteriser fills a quad with a shader this
// plain by its fast path for flat rectangles.
uniform sampler2D Texture0;
uniform vec4 rgba0;

in vec2 vTexCoord;

out vec4 outColour;

void main()
{
	outColour = texture( Texture0, vTexCoord ) * rgba0;
}
